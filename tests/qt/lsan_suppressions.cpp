// fontconfig, which Qt uses to find fonts, keeps its configuration for the
// life of the process and frees nothing at exit; LeakSanitizer would report
// that in every test that draws text. Only that library's allocations are
// let off.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}
