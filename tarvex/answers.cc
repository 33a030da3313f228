#include "answers.h"

#include <string>

#include "common/conversion_rules.h"
#include "common/cp866.h"
#include "common/message.h"
#include "common/stop.h"
#include "messages.h"

namespace tarvex {

using lira::cp866;
using lira::say;

void ask_run_parameters(lira::Console& con, Answers& answers) {
  say(con, "\nEnter the volume ratio for lateral reinforcement: VR3 = ",
      cp866("\nВведите объемное отношение для поперечной арматуры: VR3 = "));
  answers.vr3 = lira::read_double(con);

  say(con, "\nEnter common density of materials [kg/m3]: density = ",
      cp866("\nВведите общую плотность материалов [кг/м3]: плотность = "));
  float common = lira::to_single(lira::read_double(con));
  answers.density.fill(common);

  say(con, "\nIs there exceptions of density value? ('y' - yes; any other key - no)\n",
      cp866("Есть исключения из введенной плотности? ('y' - да; любая другая клавиша - нет)\n"));
  if (lira::key_is(lira::read_key(con), 'y')) {
    for (;;) {
      say(con,
          "\nEnter stiffness number and corresponding density,\n"
          "enter zero stiffness to terminate input:\n stiffness No = ",
          cp866("\nВведите номер жесткости и соответствующую плотность,\n"
                "введите нулевую жесткость для завершения ввода:\n жесткость № = "));
      int number = lira::read_int(con);
      if (number == 0) break;
      // The density table has an entry for stiffness numbers 1 to 49 only.
      if (number < 0 || number >= lira::kStiffnessCount) {
        lira::fail(lira::message(msg::kStiffnessAnswer, {std::to_string(number)}));
      }
      say(con, "density [kg/m3] = \n", cp866("плотность [кг/м3] = "));
      answers.density[static_cast<std::size_t>(number)] = lira::read_float(con);
    }
  }

  say(con, "\nEnter number of weight loading: weightLoadNo = ",
      cp866("\nВведите номер загружения собственным весом: weightLoadNo = "));
  answers.weight_load_no = lira::read_int(con);
}

bool declined_at_check(lira::Console& con) {
  say(con, "\nCheck your input. To exit press 'e', to continue - any other key.\n",
      cp866("Проверьте ввод. Для выхода нажмите 'e', для продолжения - любую другую клавишу.\n"));
  return lira::key_is(lira::read_key(con), 'e');
}

}  // namespace tarvex
