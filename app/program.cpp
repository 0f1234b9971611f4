#include "app/program.h"

namespace fenlow {

Program::Program(platform::Platform& platform)
    : platform_(platform),
      form1_(platform, state_, monitor_),
      monitor_(platform, state_, form1_),
      dispatcher_(monitor_) {
  monitor_.SetBulkEditStep(dispatcher_);
}

void Program::Run() {
  form1_.Load();
  form1_.Show();
  platform_.Forms().RunUntilUnloaded(form1_.Window());
}

}  // namespace fenlow
