#include "common/console.h"
#include "driver.h"

int main() {
  lira::Console con = lira::standard_console();
  return vantrel::run_vantrel(con);
}
