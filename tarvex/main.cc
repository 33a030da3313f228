#include "common/console.h"
#include "driver.h"

int main() {
  lira::Console con = lira::standard_console();
  return tarvex::run_tarvex(con);
}
