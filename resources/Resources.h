#pragma once

// The pictures built into the plug-in. Each is a complete PNG file (RGBA,
// 8 bits per channel) given as a pointer to its bytes and their count, the
// pair juce::ImageCache::getFromMemory takes. The image cache keys decoded
// pictures by the pointer, so every user of one of these shares one decoding.

/** Amplifier panel background, 1943 x 1093, shown at 1300 x 730. */
extern const char* const& resource_UI_fond_png;
extern const int resource_UI_fond_pngSize;

/** Input jack, 58 x 60. */
extern const char* const& resource_jack_png;
extern const int resource_jack_pngSize;

/** The wordmark badge, 160 x 71. */
extern const char* const& resource_UI_logo2_png;
extern const int resource_UI_logo2_pngSize;

/** The same logo again: the very same bytes, under the name the design
    panel uses. */
extern const char* const& resource_UI_logo2sm_png;
extern const int resource_UI_logo2sm_pngSize;

/** Effect pedal body, 300 x 560, clear where the pedal's colour shows. */
extern const char* const& resource_UI_pedales_png;
extern const int resource_UI_pedales_pngSize;

/** Footswitch with its lamp lit, 75 x 100. */
extern const char* const& resource_UI_pedale_on_png;
extern const int resource_UI_pedale_on_pngSize;

/** Footswitch with its lamp dark, 75 x 100. */
extern const char* const& resource_UI_pedale_off_png;
extern const int resource_UI_pedale_off_pngSize;

/** Toggle-switch lever thrown up (switch on), 52 x 52. */
extern const char* const& resource_NewComponent_tsup_png;
extern const int resource_NewComponent_tsup_pngSize;

/** Toggle-switch lever thrown down (switch off), 52 x 52. */
extern const char* const& resource_NewComponent_tsdown_png;
extern const int resource_NewComponent_tsdown_pngSize;

/** Fader cap, 57 x 102. */
extern const char* const& resource_keyGuiComponent_vsb_png;
extern const int resource_keyGuiComponent_vsb_pngSize;
