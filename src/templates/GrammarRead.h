// What reading a grammar file gave: its element rules, or a sentence saying why not.
#pragma once

#include "GrammarModel.h"

#include <QString>

struct SGrammarRead
{
    SGrammarModel model;
    QString strError;  // empty on success
};
