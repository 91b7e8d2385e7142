#include "app/kalverin_app.h"

int main(int argc, char** argv) {
    return kalverin::RunKalverin(argc, argv);
}
