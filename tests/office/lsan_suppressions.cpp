// LibreOffice's UNO runtime makes the description of each type it meets once
// and keeps it for the life of the process; LeakSanitizer would report that
// in every test that reaches LibreOffice. Only those allocations are let off.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:cppu_detail_getUnoType\n";
}
