@ Start of the example game: the cartridge header, stacks, data copied to
@ RAM, then main(). Emulators start the ROM as it is; the console itself
@ also checks the logo in the header, which a tool such as gbafix copies in.

    .section .crt0, "ax"
    .arm
    .align 2
    .global _start
_start:
    b       rom_start
    .fill   0x9C, 1, 0          @ logo area
    .fill   12, 1, 0            @ 0xA0 title
    .fill   4, 1, 0             @ 0xAC game code
    .fill   2, 1, 0             @ 0xB0 maker code
    .byte   0x96                @ 0xB2 fixed value
    .fill   10, 1, 0            @ 0xB3 unit, device, reserved, version
    .byte   0x51                @ 0xBD complement of the bytes 0xA0-0xBC, minus 0x19
    .fill   2, 1, 0

rom_start:
    mov     r0, #0x12           @ IRQ mode stack, though no interrupt is enabled
    msr     cpsr_c, r0
    ldr     sp, =__irq_stack_top
    mov     r0, #0x1F           @ system mode for the program
    msr     cpsr_c, r0
    ldr     sp, =__stack_top

    @ Initialised data (the pattern table among it) lives in RAM; its
    @ start values are stored in the ROM right after the read-only data.
    ldr     r0, =__data_load
    ldr     r1, =__data_start
    ldr     r2, =__data_end
1:  cmp     r1, r2
    ldrlo   r3, [r0], #4
    strlo   r3, [r1], #4
    blo     1b

    ldr     r1, =__bss_start
    ldr     r2, =__bss_end
    mov     r3, #0
2:  cmp     r1, r2
    strlo   r3, [r1], #4
    blo     2b

    ldr     r0, =main
    mov     lr, pc
    bx      r0
3:  b       3b

    .pool
