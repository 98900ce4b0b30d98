// A Windows program that ends at once: the application the tests and the
// benchmark register for the documents the shell opens.

int wmain() {
    return 0;
}
