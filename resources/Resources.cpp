#include "Resources.h"

#include "BinaryData.h"

// References to the generated arrays' pointers: bound at compile time, so they
// are valid whatever order static objects are built in.

const char* const& resource_UI_fond_png = BinaryData::UI_fond_png;
const int resource_UI_fond_pngSize = BinaryData::UI_fond_pngSize;

const char* const& resource_jack_png = BinaryData::jack_png;
const int resource_jack_pngSize = BinaryData::jack_pngSize;

const char* const& resource_UI_logo2_png = BinaryData::UI_logo2_png;
const int resource_UI_logo2_pngSize = BinaryData::UI_logo2_pngSize;

const char* const& resource_UI_logo2sm_png = BinaryData::UI_logo2_png;
const int resource_UI_logo2sm_pngSize = BinaryData::UI_logo2_pngSize;

const char* const& resource_UI_pedales_png = BinaryData::UI_pedales_png;
const int resource_UI_pedales_pngSize = BinaryData::UI_pedales_pngSize;

const char* const& resource_UI_pedale_on_png = BinaryData::UI_pedale_on_png;
const int resource_UI_pedale_on_pngSize = BinaryData::UI_pedale_on_pngSize;

const char* const& resource_UI_pedale_off_png = BinaryData::UI_pedale_off_png;
const int resource_UI_pedale_off_pngSize = BinaryData::UI_pedale_off_pngSize;

const char* const& resource_NewComponent_tsup_png = BinaryData::NewComponent_tsup_png;
const int resource_NewComponent_tsup_pngSize = BinaryData::NewComponent_tsup_pngSize;

const char* const& resource_NewComponent_tsdown_png = BinaryData::NewComponent_tsdown_png;
const int resource_NewComponent_tsdown_pngSize = BinaryData::NewComponent_tsdown_pngSize;

const char* const& resource_keyGuiComponent_vsb_png = BinaryData::keyGuiComponent_vsb_png;
const int resource_keyGuiComponent_vsb_pngSize = BinaryData::keyGuiComponent_vsb_pngSize;
