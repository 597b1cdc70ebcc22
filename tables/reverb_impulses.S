/* Reverb impulse responses, mono: the hall (sr144100, sr148000) and the live
   room (sr244100, sr248000) at the 44.1 and 48 kHz base rates. Made by
   tools/tablegen/signals.cpp. */

#include "embed.inc"

    bc_embed BC_SYMBOL(_ZN6tables8sr144100E), "sr144100.f32", 255728
    bc_embed BC_SYMBOL(_ZN6tables8sr148000E), "sr148000.f32", 278336
    bc_embed BC_SYMBOL(_ZN6tables8sr244100E), "sr244100.f32", 331112
    bc_embed BC_SYMBOL(_ZN6tables8sr248000E), "sr248000.f32", 362384

#if defined(__ELF__)
    .section .note.GNU-stack,"",%progbits
#endif
