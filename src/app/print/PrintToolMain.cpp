#include <cstdio>

int main() {
    std::puts("tanahuda-print");
    return 0;
}
