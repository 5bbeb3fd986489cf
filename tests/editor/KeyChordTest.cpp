#include "KeyChord.h"

#include <gtest/gtest.h>

namespace {

struct SChordCase
{
    int key;
    Qt::KeyboardModifiers modifiers;
    bool bBound;
    EKeyChord eExpected;
};

constexpr Qt::KeyboardModifiers kNone = Qt::NoModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAlt = Qt::AltModifier;
const Qt::KeyboardModifiers kShift = Qt::ShiftModifier;

TEST(KeyChordTest, OnlyCommandsZoomAndPlainTypingPassAChordWithCtrlOrAlt)
{
    const SChordCase cases[] = {
        // zoom, with Shift or from the keypad too, even where the control binds the key
        {Qt::Key_Plus, kCtrl | kShift, false, EKeyChord::ZoomIn},
        {Qt::Key_Plus, kCtrl | Qt::KeypadModifier, true, EKeyChord::ZoomIn},
        {Qt::Key_Equal, kCtrl, false, EKeyChord::ZoomIn},
        {Qt::Key_Minus, kCtrl, true, EKeyChord::ZoomOut},
        {Qt::Key_0, kCtrl, false, EKeyChord::ZoomReset},
        // chords that would type their character
        {Qt::Key_1, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_9, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Comma, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Period, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Semicolon, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Apostrophe, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Exclam, kCtrl | kShift, false, EKeyChord::Ignore},
        {Qt::Key_Less, kCtrl, false, EKeyChord::Ignore},
        {Qt::Key_Q, kAlt, false, EKeyChord::Ignore},
        {Qt::Key_B, kAlt, false, EKeyChord::Ignore},
        {Qt::Key_3, kAlt, false, EKeyChord::Ignore},
        {Qt::Key_A, kAlt | kShift, false, EKeyChord::Ignore},
        {Qt::Key_Plus, kCtrl | kAlt, false, EKeyChord::Ignore},
        // the control's own commands and typing
        {Qt::Key_Left, kCtrl, true, EKeyChord::Pass},
        {Qt::Key_Down, kAlt | kShift, true, EKeyChord::Pass},
        {Qt::Key_A, kNone, false, EKeyChord::Pass},
        {Qt::Key_A, kShift, false, EKeyChord::Pass},
        {Qt::Key_Plus, kShift, false, EKeyChord::Pass},
        {Qt::Key_0, kNone, false, EKeyChord::Pass},
        {Qt::Key_E, Qt::GroupSwitchModifier, false, EKeyChord::Pass},  // AltGr on X11
        {Qt::Key_Return, kNone, true, EKeyChord::Pass},
    };
    int nCase = 0;
    for (const SChordCase& test : cases)
        EXPECT_EQ(ClassifyKeyChord(test.key, test.modifiers, test.bBound), test.eExpected)
            << "case " << nCase++;
}

}  // namespace
