// An expat parser freed when it goes out of scope.
#pragma once

#include <expat.h>

#include <memory>
#include <type_traits>

struct SXmlParserFree
{
    void operator()(XML_Parser parser) const { XML_ParserFree(parser); }
};

using XmlParserPtr = std::unique_ptr<std::remove_pointer_t<XML_Parser>, SXmlParserFree>;
