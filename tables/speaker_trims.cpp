// Loudspeaker trims, played after every loudspeaker model: a four-section
// low-pass (flat to 500 Hz, a shallow 2-3 kHz dip, steep cut above 10 kHz)
// and a three-section high-pass (-24 dB at 50 Hz, flat above 1 kHz). Each
// begins with a first-order section (b2 = a2 = 0).

#include "Tables.h"

namespace tables
{
const float hpsoslp2_44100[24] = {
    1.0f, 1.00936759f, 0.0f, 1.0f, -0.803032815f, 0.0f,
    1.0f, 2.01171279f, 1.01180077f, 1.0f, -1.25650156f, 0.7082026f,
    1.0f, 1.99585164f, 0.995939791f, 1.0f, -0.663426697f, 0.830158472f,
    1.0f, 1.98306787f, 0.983156264f, 1.0f, -0.315411747f, 0.945051134f,
};

const float hpsoslp2_48000[24] = {
    1.0f, 1.00936759f, 0.0f, 1.0f, -0.823061585f, 0.0f,
    1.0f, 2.01171279f, 1.01180077f, 1.0f, -1.35850942f, 0.729933858f,
    1.0f, 1.99585164f, 0.995939791f, 1.0f, -0.846345425f, 0.837586701f,
    1.0f, 1.98306787f, 0.983156264f, 1.0f, -0.534586787f, 0.946417987f,
};

// Four section gains, the output gain and three unused zeros.
const float hpgainlp2_44100[8] = { 1.0f, 1.0f, 1.0f, 1.0f, 0.00132159004f, 0.0f, 0.0f, 0.0f };
const float hpgainlp2_48000[8] = { 1.0f, 1.0f, 1.0f, 1.0f, 0.000718529976f, 0.0f, 0.0f, 0.0f };

// Three sections followed by two unused zeros.
const float hpsoshp2_44100[20] = {
    1.0f, -1.00126648f, 0.0f, 1.0f, -0.935173094f, 0.0f,
    1.0f, -1.9979533f, 0.997954845f, 1.0f, -1.99493217f, 0.995133698f,
    1.0f, -2.00078034f, 1.00078177f, 1.0f, -1.99918878f, 0.999268174f,
    0.0f, 0.0f,
};

const float hpsoshp2_48000[20] = {
    1.0f, -0.998867214f, 0.0f, 1.0f, -0.94028306f, 0.0f,
    1.0f, -2.00183225f, 1.00183344f, 1.0f, -1.99535811f, 0.995528162f,
    1.0f, -1.9993006f, 0.999301851f, 1.0f, -1.99926066f, 0.9993276f,
    0.0f, 0.0f,
};

const float hpgainhp2_44100[4] = { 1.0f, 1.0f, 1.0f, 0.964811206f };
const float hpgainhp2_48000[4] = { 1.0f, 1.0f, 1.0f, 0.967589498f };
} // namespace tables
