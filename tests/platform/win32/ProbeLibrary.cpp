// A library that does nothing: the library-load tests build it in both widths.

extern "C" __declspec(dllexport) int QuorvexProbe() { return 1; }
