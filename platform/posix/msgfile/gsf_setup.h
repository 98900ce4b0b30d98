#pragma once

namespace lexi::msgfile {

// Initialises libgsf once per process and silences its log messages about
// damaged files: the reader reports those itself.
void setUpGsf();

} // namespace lexi::msgfile
