; Start-up code of the sample program: one entry for each core.
        .global _start
_start:
        MOVI    SP, 0xFFF0
        CALL    main
        STA     exitcode, R0
        HALT

        .global _start1
_start1:
        MOVI    SP, 0xF7F0
        CALL    worker
        HALT

        .data
exitcode:
        .word   0
