	.section	.rodata
	.align	2
	.global	empty_chr
	.type	empty_chr, object
empty_chr:
	.ident "pxcnv"
