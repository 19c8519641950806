// Resource numbers of the nD dialogs' tests.
#pragma once

#define IDD_IDLE_TEST 900
