// LibreOffice's UNO runtime makes the description of each type it meets, and
// its bootstrap values, once and keeps them for the life of the process; the
// leak check of a sanitizer build would report them in every program and
// test that reaches LibreOffice. Only those allocations are let off.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:cppu_detail_getUnoType\n"
           "leak:libuno_sal.so\n";
}
