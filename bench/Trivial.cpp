// trivial: a program that does nothing, the floor of a program's start.
int main()
{
    return 0;
}
