// A library for the loading tests: one entry point with a known answer.
extern "C" __attribute__((visibility("default"))) int FilesTestAnswer() { return 42; }
