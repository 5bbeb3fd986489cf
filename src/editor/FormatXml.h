// Edit > Format XML over the editor: the well-formedness check first, then the text re-indented
// by the markup engine's formatter, replaced where it changed as one undo step.
#pragma once

class CTarnelView;

class CFormatXml
{
public:
    // Says why in a message when the text is not well-formed and leaves it unchanged.
    static void Run(CTarnelView& view);
};
