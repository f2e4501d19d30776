	.section	.rodata
	.align	2
	.global	bad_chr
	.type	bad_chr, object
bad_chr:
	.ident "pxcnv"
