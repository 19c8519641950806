#include "onedim/display/PrintSettings.h"

CPrintSettings& GetPrintSettings() {
  static CPrintSettings s_settings;
  return s_settings;
}
