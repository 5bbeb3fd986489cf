// How a long job over the text tells how far it has got and learns that the user wants it
// stopped, without knowing who shows it.
#pragma once

#include <functional>

// Told the amount done and the whole amount; false asks the job to stop and leave everything as
// it was. A job that ends reports done equal to the whole amount, so a dialog closes before any
// message the job then shows.
using JobProgress = std::function<bool(long long nDone, long long nTotal)>;

// True when there is no one to ask.
inline bool CarryOn(const JobProgress& progress, long long nDone, long long nTotal)
{
    return !progress || progress(nDone, nTotal);
}
