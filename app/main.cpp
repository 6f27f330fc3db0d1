#include "app/Application.h"

int main(int argc, char** argv) {
    return vux::runApplication(argc, argv);
}
