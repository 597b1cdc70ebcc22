// brindlecrest snapshot: draws the editor window, or a single control with its
// look-and-feel, offscreen and writes a PNG, with no display needed.
//
// The options are parsed into one SnapshotOptions; each mode takes them from
// there. Without --control the whole window is drawn for a fresh processor
// whose parameters --set has changed; with --control KIND one control alone.

#include "Commands.h"
#include "ParameterSettings.h"

#include "editor/PluginEditor.h"
#include "lookandfeel/AmpLookAndFeel.h"
#include "lookandfeel/CommandLookAndFeel.h"
#include "lookandfeel/NavigationLookAndFeel.h"
#include "lookandfeel/PedalLookAndFeel.h"
#include "plugin/PluginProcessor.h"
#include "resources/Resources.h"

#include <cmath>
#include <iostream>
#include <memory>
#include <optional>

namespace
{
struct SnapshotOptions
{
    juce::String control;             // the kind of control, empty for the whole window
    juce::String output;              // the PNG file to write
    std::optional<double> value;      // the control's value in its own range
    std::optional<juce::Point<int>> size;
    int zoom = 1;                     // drawn this many times larger, for a close look
    juce::String name, caption;       // component name and caption where the control has them
    bool hover = false;               // buttons drawn as under the mouse
    juce::String background;          // RRGGBB, AARRGGBB or "none"; empty for the kind's own
    juce::StringArray settings;       // --set ID=VALUE, for the whole window
};

const char* const usage =
    "Usage: brindlecrest snapshot -o FILE.png [--set ID=VALUE]... [--zoom N]\n"
    "       brindlecrest snapshot --control KIND -o FILE.png [options]\n"
    "\n"
    "Without --control, draws the whole editor window (1300x730) as it opens for\n"
    "a fresh plug-in whose parameters --set has changed, after its first timer\n"
    "tick. VALUE is in the parameter's own units: a number in its range, a whole\n"
    "number for whole-number parameters, 0/1 or on/off for switches. For example\n"
    "--set pedalboard=1 shows the pedals; 'brindlecrest params' lists the IDs.\n"
    "\n"
    "With --control, draws one control offscreen with its look-and-feel, as the\n"
    "window shows it.\n"
    "\n"
    "Kinds (default size in brackets):\n"
    "  amp-knob           amplifier knob with numbered skirt    (100x100)\n"
    "  fader              equaliser fader                       (40x130)\n"
    "  lever              amplifier toggle switch               (50x110)\n"
    "  pedal-knob         fluted pedal knob                     (60x80)\n"
    "  footswitch         pedal on/off footswitch               (50x50)\n"
    "  pedalboard-button  show/hide pedalboard button           (96x50)\n"
    "  volume-knob        master volume knob                    (96x96)\n"
    "  meter              level meter                           (20x96)\n"
    "  next, prev         pedal navigation arrows               (30x30)\n"
    "  amp-panel          the panel picture with every amplifier control in its place (1300x730)\n"
    "\n"
    "Options:\n"
    "  --value V          the control's value: 0 to 1 for knobs and faders, 0 to 100\n"
    "                     for the meter, 0 or 1 for buttons (default: middle, or off)\n"
    "  --size WxH         the control's size in pixels\n"
    "  --zoom N           draw N times larger (vector parts stay sharp)\n"
    "  --name ID          component name, e.g. chanelDrive or reverbType2 for a lever\n"
    "  --caption TEXT     knob caption or lever text\n"
    "  --hover            draw a button as under the mouse\n"
    "  --background C     RRGGBB, AARRGGBB or none (default: the panel colour behind it)\n"
    "  --set ID=VALUE     (window only) a parameter's value before the window opens\n";

std::optional<juce::Point<int>> parseSize (const juce::String& s)
{
    const auto w = s.upToFirstOccurrenceOf ("x", false, true), h = s.fromFirstOccurrenceOf ("x", false, true);
    if (! w.containsOnly ("0123456789") || ! h.containsOnly ("0123456789") || w.isEmpty() || h.isEmpty())
        return {};
    const int iw = w.getIntValue(), ih = h.getIntValue();
    if (iw <= 0 || ih <= 0 || iw > 4000 || ih > 4000)
        return {};
    return juce::Point<int> (iw, ih);
}

/** Reads the arguments; returns an error message, or nothing when they are fine. */
juce::String parse (const juce::StringArray& args, SnapshotOptions& o)
{
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& a = args[i];
        const bool hasNext = i + 1 < args.size();
        if (a == "--hover")
        {
            o.hover = true;
            continue;
        }
        if (! hasNext)
            return "missing value after '" + a + "'";
        const auto next = args[++i];
        if (a == "--control")
            o.control = next;
        else if (a == "-o" || a == "--output")
            o.output = next;
        else if (a == "--value")
        {
            if (! next.trim().containsOnly ("0123456789.-+eE") || next.trim().isEmpty())
                return "--value wants a number, got '" + next + "'";
            o.value = next.getDoubleValue();
        }
        else if (a == "--size")
        {
            o.size = parseSize (next);
            if (! o.size)
                return "--size wants WxH, e.g. 100x100, got '" + next + "'";
        }
        else if (a == "--zoom")
        {
            o.zoom = next.getIntValue();
            if (o.zoom < 1 || o.zoom > 16 || ! next.containsOnly ("0123456789"))
                return "--zoom wants a whole number from 1 to 16, got '" + next + "'";
        }
        else if (a == "--name")
            o.name = next;
        else if (a == "--caption")
            o.caption = next;
        else if (a == "--background")
            o.background = next;
        else if (a == "--set")
            o.settings.add (next);
        else
            return "unknown option '" + a + "'";
    }
    if (o.output.isEmpty())
        return "give the output file with -o FILE.png";
    return {};
}

std::optional<juce::Colour> parseBackground (const juce::String& s, juce::Colour fallback)
{
    if (s.isEmpty())
        return fallback;
    if (s == "none")
        return juce::Colours::transparentBlack;
    const auto hex = s.trimCharactersAtStart ("#");
    if (! hex.containsOnly ("0123456789abcdefABCDEF") || (hex.length() != 6 && hex.length() != 8))
        return {};
    const auto argb = (juce::uint32) hex.getHexValue64();
    return juce::Colour (hex.length() == 6 ? (0xff000000u | argb) : argb);
}

// The colours behind the controls in the window: the faceplate, the covering
// of the top strip and a pedal's body.
const juce::Colour faceplateColour (0xff1e1b19), stripColour (0xffcdb68c), pedalColour (0xff8b6914);

/** Everything needed to draw one control: the look-and-feels, the control and
    what sits behind it. */
struct Scene
{
    AmpLookAndFeel amp;
    PedalLookAndFeel pedal;
    CommandLookAndFeel command;
    NextLookAndFeel next;
    PreviousLookAndFeel previous;

    std::unique_ptr<juce::Slider> slider;
    std::unique_ptr<juce::ToggleButton> button;
    juce::Colour behind;

    ~Scene()
    {
        if (slider != nullptr)
            slider->setLookAndFeel (nullptr);
        if (button != nullptr)
            button->setLookAndFeel (nullptr);
    }
};

std::unique_ptr<juce::Slider> makeSlider (juce::Slider::SliderStyle style, bool textBox, double minimum, double maximum,
                                          double value, const juce::String& name, const juce::String& caption,
                                          juce::LookAndFeel& lookAndFeel, juce::Point<int> size)
{
    auto s = std::make_unique<juce::Slider> (name);
    s->setSliderStyle (style);
    s->setRange (minimum, maximum, 0.0);
    if (! textBox)
        s->setTextBoxStyle (juce::Slider::NoTextBox, true, 80, 20);
    s->setComponentID (caption);
    s->setLookAndFeel (&lookAndFeel);
    s->setValue (juce::jlimit (minimum, maximum, value), juce::dontSendNotification);
    s->setBounds (0, 0, size.x, size.y);
    return s;
}

std::unique_ptr<juce::ToggleButton> makeButton (const juce::String& name, const juce::String& text, bool on,
                                                juce::LookAndFeel& lookAndFeel, juce::Point<int> size)
{
    auto b = std::make_unique<juce::ToggleButton> (text);
    b->setName (name);
    b->setToggleState (on, juce::dontSendNotification);
    b->setLookAndFeel (&lookAndFeel);
    b->setBounds (0, 0, size.x, size.y);
    return b;
}

/** Builds the control of the given kind; returns an error message, or nothing. */
juce::String build (const SnapshotOptions& o, Scene& scene)
{
    auto sizeOr = [&o] (int w, int h) { return o.size.value_or (juce::Point<int> (w, h)); };
    auto text = [&o] (const char* fallback) { return o.caption.isNotEmpty() ? o.caption : juce::String (fallback); };
    auto nameOr = [&o] (const char* fallback) { return o.name.isNotEmpty() ? o.name : juce::String (fallback); };
    const bool on = o.value.value_or (0.0) >= 0.5;
    const auto& k = o.control;

    if (k == "amp-knob")
    {
        scene.slider = makeSlider (juce::Slider::RotaryHorizontalVerticalDrag, false, 0.0, 1.0, o.value.value_or (0.5),
                                   nameOr ("preGainBody1"), text ("Body Ch.1"), scene.amp, sizeOr (100, 100));
        scene.behind = faceplateColour;
    }
    else if (k == "fader")
    {
        scene.slider = makeSlider (juce::Slider::LinearVertical, false, 0.0, 1.0, o.value.value_or (0.5),
                                   nameOr ("cleanEQ1"), text ("1"), scene.amp, sizeOr (40, 130));
        scene.behind = faceplateColour;
    }
    else if (k == "lever")
    {
        scene.button = makeButton (nameOr ("midboost1"), text ("Mid Boost"), on, scene.amp, sizeOr (50, 110));
        scene.behind = faceplateColour;
    }
    else if (k == "pedal-knob")
    {
        scene.slider = makeSlider (juce::Slider::RotaryHorizontalVerticalDrag, false, 0.001, 1.0, o.value.value_or (0.5),
                                   nameOr ("PEDAL_Delay401"), text ("Time"), scene.pedal, sizeOr (60, 80));
        scene.behind = pedalColour;
    }
    else if (k == "footswitch")
    {
        scene.button = makeButton (nameOr ("PEDAL_Delay499"), text ("On/Off"), on, scene.pedal, sizeOr (50, 50));
        scene.behind = pedalColour;
    }
    else if (k == "pedalboard-button")
    {
        scene.button = makeButton ("pedalboard", "pedalboard", on, scene.command, sizeOr (96, 50));
        scene.behind = stripColour;
    }
    else if (k == "volume-knob")
    {
        scene.slider = makeSlider (juce::Slider::RotaryHorizontalVerticalDrag, false, 0.0, 1.0, o.value.value_or (0.5),
                                   "volume", "Main Volume", scene.command, sizeOr (96, 96));
        scene.slider->setColour (juce::Slider::thumbColourId, juce::Colour (0xff372b42));
        scene.slider->setColour (juce::Slider::rotarySliderFillColourId, juce::Colours::whitesmoke);
        scene.slider->setColour (juce::Slider::rotarySliderOutlineColourId, juce::Colours::whitesmoke);
        scene.behind = stripColour;
    }
    else if (k == "meter")
    {
        // Like the window's meters: a vertical slider that keeps the default text box.
        scene.slider = makeSlider (juce::Slider::LinearVertical, true, 0.0, 100.0, o.value.value_or (50.0),
                                   nameOr ("levelIn"), "In", scene.command, sizeOr (20, 96));
        scene.behind = stripColour;
    }
    else if (k == "next" || k == "prev")
    {
        const bool isNext = k == "next";
        scene.button = makeButton (isNext ? "NEXT1" : "PREV1", "", on, isNext ? static_cast<juce::LookAndFeel&> (scene.next)
                                                                                : scene.previous,
                                   sizeOr (30, 30));
        scene.behind = pedalColour;
    }
    else
    {
        return "unknown control kind '" + k + "' (see 'brindlecrest snapshot --help')";
    }
    return {};
}

/** The panel picture at window size with every amplifier control drawn at
    its place, to see that the printed legends line up with the controls. */
juce::Image drawAmpPanel (const SnapshotOptions& o)
{
    struct Place
    {
        const char* id;
        const char* caption;
        int x, y, w, h;
    };
    static const Place knobs[] = {
        { "preGainBody1", "Body Ch.1", 310, 452, 100, 100 },   { "preGainDetail1", "Detail Ch.1", 390, 452, 100, 100 },
        { "preGainBody2", "Body Ch.2", 310, 572, 100, 100 },   { "preGainDetail2", "Detail Ch.2", 390, 572, 100, 100 },
        { "volumeClean", "Volume Clean", 760, 452, 100, 100 }, { "volumeDrive", "Volume DRive", 760, 572, 100, 100 },
        { "presence", "Presence", 860, 517, 100, 100 },        { "reverb", "Reverb", 1000, 517, 100, 100 },
    };
    static const Place levers[] = {
        { "chanelDrive", "Chanel", 145, 515, 50, 110 },      { "midboost1", "Mid Boost", 210, 444, 50, 110 },
        { "midboost2", "Mid Boost", 210, 564, 50, 110 },     { "boost1", "Boost", 260, 444, 50, 110 },
        { "boost2", "Boost", 260, 564, 50, 110 },            { "reverbType2", "Reverb Type", 1093, 510, 50, 110 },
    };

    AmpLookAndFeel amp;
    CommandLookAndFeel command;
    juce::Component window;
    window.setBounds (0, 0, 1300, 730);
    juce::OwnedArray<juce::Component> controls;
    const double v = o.value.value_or (0.5);

    for (auto& k : knobs)
        controls.add (makeSlider (juce::Slider::RotaryHorizontalVerticalDrag, false, 0.0, 1.0, v, k.id, k.caption, amp,
                                  { k.w, k.h }))
            ->setTopLeftPosition (k.x, k.y);
    for (int band = 0; band < 5; ++band)
        for (int row = 0; row < 2; ++row)
            controls.add (makeSlider (juce::Slider::LinearVertical, false, 0.0, 1.0, v,
                                      (row == 0 ? "cleanEQ" : "driveEQ") + juce::String (band + 1),
                                      juce::String (band + 1), amp, { 40, 130 }))
                ->setTopLeftPosition (510 + 40 * band, row == 0 ? 447 : 567);
    for (auto& l : levers)
        controls.add (makeButton (l.id, l.caption, v >= 0.5, amp, { l.w, l.h }))->setTopLeftPosition (l.x, l.y);

    auto* volume = controls.add (makeSlider (juce::Slider::RotaryHorizontalVerticalDrag, false, 0.0, 1.0, v, "volume",
                                             "Main Volume", command, { 96, 96 }));
    volume->setTopLeftPosition (1024, 0);
    controls.add (makeSlider (juce::Slider::LinearVertical, true, 0.0, 100.0, 100.0 * v, "levelIn", "In", command,
                              { 20, 96 }))
        ->setTopLeftPosition (20, 0);
    controls.add (makeSlider (juce::Slider::LinearVertical, true, 0.0, 100.0, 100.0 * v, "levelOut", "Out", command,
                              { 20, 96 }))
        ->setTopLeftPosition (1130, 0);
    controls.add (makeButton ("pedalboard", "pedalboard", false, command, { 96, 50 }))->setTopLeftPosition (60, 23);

    // The controls the framework draws itself, in the window's colours, for context.
    const juce::Colour ink (CommandLookAndFeel::inkColour);
    auto* hq = new juce::ToggleButton ("HQ reverb");
    controls.add (hq);
    for (auto id : { juce::ToggleButton::textColourId, juce::ToggleButton::tickColourId,
                     juce::ToggleButton::tickDisabledColourId })
        hq->setColour (id, ink);
    hq->setBounds (900, 0, 96, 96);
    auto* cabinet = new juce::ComboBox ("cab");
    controls.add (cabinet);
    cabinet->addItem ("US C12", 8);
    cabinet->setSelectedId (8, juce::dontSendNotification);
    cabinet->setColour (juce::ComboBox::backgroundColourId, juce::Colour (0xff1b1b1e));
    for (auto id : { juce::ComboBox::textColourId, juce::ComboBox::outlineColourId, juce::ComboBox::buttonColourId,
                     juce::ComboBox::arrowColourId, juce::ComboBox::focusedOutlineColourId })
        cabinet->setColour (id, juce::Colour (0xff9e9e9e));
    cabinet->setBounds (980, 637, 230, 40);
    for (auto [text, y] : { std::pair<const char*, int> { "Visit quorvanex.example", 60 }, { "Pay me a beer", 78 } })
    {
        auto* link = new juce::HyperlinkButton (text, {});
        controls.add (link);
        link->setJustificationType (juce::Justification::centredRight);
        link->setColour (juce::HyperlinkButton::textColourId, ink);
        link->setBounds (1150, y, 130, 18);
    }

    for (auto* c : controls)
        window.addAndMakeVisible (c);

    const int zoom = o.zoom;
    juce::Image image (juce::Image::ARGB, 1300 * zoom, 730 * zoom, true);
    {
        juce::Graphics g (image);
        g.addTransform (juce::AffineTransform::scale ((float) zoom));
        const auto background = juce::ImageCache::getFromMemory (resource_UI_fond_png, resource_UI_fond_pngSize);
        if (background.isValid())
            g.drawImage (background.rescaled (1300, 730, juce::Graphics::highResamplingQuality), 0, 0, 1300, 730, 0, 0,
                         1300, 730);
        const auto jack = juce::ImageCache::getFromMemory (resource_jack_png, resource_jack_pngSize);
        if (jack.isValid())
            g.drawImageAt (jack.rescaled (46, 48, juce::Graphics::highResamplingQuality), 80, 546);
        const auto logo = juce::ImageCache::getFromMemory (resource_UI_logo2_png, resource_UI_logo2_pngSize);
        if (logo.isValid())
            g.drawImageAt (logo.rescaled (100, 45, juce::Graphics::highResamplingQuality), 1180, 10);
        g.setFont (juce::Font (16.0f, juce::Font::bold));
        g.setColour (juce::Colours::darkgrey);
        g.drawFittedText ("V1.0.1", 952, 412, 130, 20, juce::Justification::centred, 1);
        g.setColour (juce::Colours::whitesmoke);
        g.drawFittedText ("V1.0.1", 950, 410, 130, 20, juce::Justification::centred, 1);
        for (auto* c : controls)
        {
            g.saveState();
            g.setOrigin (c->getPosition());
            c->paintEntireComponent (g, true);
            g.restoreState();
        }
    }
    for (auto* c : controls)
        c->setLookAndFeel (nullptr);
    window.removeAllChildren();
    return image;
}

/** The editor window as it opens for a fresh processor with the given
    settings, once its timer has run. */
juce::Image drawWindow (const SnapshotOptions& o, juce::String& error)
{
    auto processor = std::make_unique<BrindlecrestAudioProcessor>();
    for (const auto& setting : o.settings)
        if (error = cli::applyParameterSetting (*processor, setting); error.isNotEmpty())
            return {};

    std::unique_ptr<juce::AudioProcessorEditor> editor (processor->createEditorIfNeeded());
    auto* window = dynamic_cast<BrindlecrestAudioProcessorEditor*> (editor.get());
    if (window == nullptr)
    {
        error = "the plug-in made no editor";
        return {};
    }
    // The first tick brings the pedal rows up when "pedalboard" is on.
    window->timerCallback();
    auto image = window->createComponentSnapshot (window->getLocalBounds(), true, (float) o.zoom);
    editor.reset();
    return image;
}

juce::Image drawControl (const SnapshotOptions& o, juce::String& error)
{
    if (o.control == "amp-panel")
        return drawAmpPanel (o);

    Scene scene;
    error = build (o, scene);
    if (error.isNotEmpty())
        return {};

    const auto background = parseBackground (o.background, scene.behind);
    if (! background)
    {
        error = "--background wants RRGGBB, AARRGGBB or none, got '" + o.background + "'";
        return {};
    }

    juce::Component& control = scene.slider != nullptr ? static_cast<juce::Component&> (*scene.slider) : *scene.button;
    juce::Image image (juce::Image::ARGB, control.getWidth() * o.zoom, control.getHeight() * o.zoom, true);
    juce::Graphics g (image);
    g.fillAll (*background);
    g.addTransform (juce::AffineTransform::scale ((float) o.zoom));
    if (scene.button != nullptr && o.hover)
        scene.button->getLookAndFeel().drawToggleButton (g, *scene.button, true, false);
    else
        control.paintEntireComponent (g, true);
    return image;
}

int runSnapshot (const juce::StringArray& args)
{
    using namespace cli;
    if (wantsHelp (args))
    {
        std::cout << usage;
        return 0;
    }

    SnapshotOptions options;
    if (const auto error = parse (args, options); error.isNotEmpty())
        return fail ("snapshot: " + error);
    if (options.control.isNotEmpty() && ! options.settings.isEmpty())
        return fail ("snapshot: --set applies to the whole window, not to --control");

    const juce::ScopedJuceInitialiser_GUI gui;
    juce::String error;
    const auto image = options.control.isEmpty() ? drawWindow (options, error) : drawControl (options, error);
    if (error.isNotEmpty())
        return fail ("snapshot: " + error);

    const auto file = juce::File::getCurrentWorkingDirectory().getChildFile (options.output);
    file.deleteFile();
    juce::FileOutputStream out (file);
    if (! out.openedOk() || ! juce::PNGImageFormat().writeImageToStream (image, out))
        return fail ("snapshot: cannot write " + file.getFullPathName());
    return 0;
}

const cli::CommandRegistration registration ({ "snapshot", "draw the window or a control offscreen to a PNG, no display needed",
                                               runSnapshot });
} // namespace
