// A small library for the run-time binding tests: two exports; a table naming a third,
// missing one must be refused whole.
extern "C" __declspec(dllexport) int DynTestAdd(int a, int b)
{
    return a + b;
}

extern "C" __declspec(dllexport) int DynTestTwice(int a)
{
    return 2 * a;
}
