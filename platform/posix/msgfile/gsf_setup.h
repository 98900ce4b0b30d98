#pragma once

namespace lexi::msgfile {

// Initialises libgsf once per process and silences its log messages about
// damaged files: the reader reports those itself.
void setUpGsf();

// How many checks of its input libgsf has failed on this thread so far.
unsigned gsfFailedChecks();

} // namespace lexi::msgfile
