	.section	.rodata
	.align	2
	.global	hero_chr
	.type	hero_chr, object
hero_chr:
	.ident "pxcnv"
