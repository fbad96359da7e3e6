// The yardstick of kxtool's start-up: a C++ program that prints one line, built with the same
// compiler and flags.
#include <iostream>

int main() {
    std::cout << "hello\n";
    return 0;
}
