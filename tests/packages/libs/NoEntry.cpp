// A shared library that exports a function but no package entry point.
extern "C" int GaugeCount() { return 3; }
