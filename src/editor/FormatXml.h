// Edit > Format XML and Join Lines of Markup over the editor: the well-formedness check first,
// then the selection's elements, or the whole text with nothing selected, re-laid by the markup
// engine's formatter and replaced where they changed as one undo step. Progress and Cancel on a
// long text.
#pragma once

#include "XmlFormatter.h"

class CTarnelView;

class CFormatXml
{
public:
    // Says why in a message when the text is not well-formed and leaves it unchanged.
    static void Run(CTarnelView& view, XmlFormatter::EMode eMode = XmlFormatter::EMode::Indent);
};
