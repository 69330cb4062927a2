#include "app/application.h"

int main(int argc, char** argv) {
  return numera::RunNumera(argc, argv);
}
