#pragma once

// The constant tables of the amplifier: filter coefficients in the
// second-order-section format (rows b0 b1 b2 a0 a1 a2; a gain vector of one
// 1.0 per section followed by the output gain), valve transfer curves,
// reverb impulse responses and the FFT cost table. Where a name ends in a
// rate, that table serves that base rate.

namespace tables
{
//==============================================================================
// Loudspeaker models: 12 models of 25 sections; model m starts at float 150 m
// of the section table and at entry 26 m of the gain table.
extern const float hpsos2_44100[1800];
extern const float hpsos2_48000[1800];
extern const float hpgain2_44100[312];
extern const float hpgain2_48000[312];

// Loudspeaker trims: a 4-section low-pass and a 3-section high-pass.
extern const float hpsoslp2_44100[24];
extern const float hpsoslp2_48000[24];
extern const float hpgainlp2_44100[8]; // 5 entries and 3 zeros
extern const float hpgainlp2_48000[8];
extern const float hpsoshp2_44100[20]; // 3 sections and 2 zeros
extern const float hpsoshp2_48000[20];
extern const float hpgainhp2_44100[4];
extern const float hpgainhp2_48000[4];

//==============================================================================
// Preamplifier path filters: 25 sections each; gain vectors of 26 entries and
// 2 zeros.
extern const float noMidBody_44100_sos[150];
extern const float noMidBody_44100_gain[28];
extern const float noMidBody_48000_sos[150];
extern const float noMidBody_48000_gain[28];
extern const float MidBody_44100_sos[150];
extern const float MidBody_44100_gain[28];
extern const float MidBody_48000_sos[150];
extern const float MidBody_48000_gain[28];
extern const float noMidDetail_44100_sos[150];
extern const float noMidDetail_44100_gain[28];
extern const float noMidDetail_48000_sos[150];
extern const float noMidDetail_48000_gain[28];
extern const float MidDetail_44100_sos[150];
extern const float MidDetail_44100_gain[28];
extern const float MidDetail_48000_sos[150];
extern const float MidDetail_48000_gain[28];

//==============================================================================
// Equaliser: five bands of two sections; band i uses rows 2i, 2i + 1 and gain
// entries 3i to 3i + 2.
extern const float sos_band_44100[60];
extern const float sos_band_48000[60];
extern const float gain_band_44100[15];
extern const float gain_band_48000[15];

//==============================================================================
// Rate conversion: 10-section anti-alias low-passes for factors 2 and 4 (one
// pair for both base rates), and the impulse-response decimation kernels
// (41 and 81 taps, each followed by 3 zeros).
extern const float sosFilt2[60];
extern const float gFilt2[11];
extern const float sosFilt4[60];
extern const float gFilt4[11];
extern const float resamplFilterDown_2[44];
extern const float resamplFilterDown_4[84];

//==============================================================================
// Valve transfer curves: entry i stands for the input i / 32768 - 1.
extern const float tube_el34[65536];
extern const float tube_vm2[65536];

//==============================================================================
// FFT sizes and their relative costs, for the convolution's partition search.
extern const int n[20];
extern const int fftflops[20];

//==============================================================================
// Reverb impulse responses at the two base rates.
extern const float sr144100[63932];
extern const float sr148000[69584];
extern const float sr244100[82778];
extern const float sr248000[90596];
} // namespace tables
