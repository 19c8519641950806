#include "onedim/plot/PrintSettings.h"

CPrintSettings& GetPrintSettings() {
  static CPrintSettings s_settings;
  return s_settings;
}
