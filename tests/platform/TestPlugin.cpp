// Loaded by the dynamic library tests.
extern "C" __attribute__((visibility("default"))) int nimboraTestAnswer() {
    return 42;
}
