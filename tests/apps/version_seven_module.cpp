// A module built for interface version 7, for the loader's test.

extern "C" __attribute__((visibility("default"))) const int lexitray_test_module = 7;
