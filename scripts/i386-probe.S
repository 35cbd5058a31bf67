# A 32-bit x86 Linux program with no library that tells how the host runs
# it. Exit status 0: the kernel runs it itself (uname reports the 64-bit
# kernel's "x86_64"); 3: something emulates it (qemu-user reports the
# emulated CPU, "i686"). A host that runs no 32-bit code cannot start it
# at all. Assembled by scripts/lib-i386.sh with `as --32`.
        .set SYS_EXIT, 1
        .set SYS_NEWUNAME, 122
        .set MACHINE_FIELD, 4 * 65      # struct new_utsname: six fields of 65 bytes

        .text
        .globl _start
_start:
        movl $SYS_NEWUNAME, %eax
        movl $uts, %ebx
        int $0x80
        xorl %ebx, %ebx
        cmpl $0x5f363878, uts + MACHINE_FIELD    # "x86_" read little-endian
        je 1f
        movl $3, %ebx
1:      movl $SYS_EXIT, %eax
        int $0x80

        .bss
uts:    .space 6 * 65
