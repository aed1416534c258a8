#include "os/commodities/commodities.h"

uint32_t CxMsgType(const CxMsg* message) { return message ? message->cxm_Type : 0; }
uint32_t CxMsgID(const CxMsg* message) { return message ? message->cxm_ID : 0; }
