#include "app/PingHistory.h"

int32_t PingHistory[kPingHistoryRows][kPingHistorySlots];
int32_t g_QuitRequest = 0;
