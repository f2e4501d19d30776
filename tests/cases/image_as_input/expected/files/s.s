	.section	.rodata
	.align	2
	.global	s_chr
	.type	s_chr, object
s_chr:
	.ident "pxcnv"
