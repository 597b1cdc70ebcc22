/* Valve transfer curves: 65536 floats each, entry i standing for the input
   i / 32768 - 1. Made by tools/tablegen/signals.cpp. */

#include "embed.inc"

    bc_embed BC_SYMBOL(_ZN6tables9tube_el34E), "tube_el34.f32", 262144
    bc_embed BC_SYMBOL(_ZN6tables8tube_vm2E), "tube_vm2.f32", 262144

#if defined(__ELF__)
    .section .note.GNU-stack,"",%progbits
#endif
