// commodities.library, hosted: the messages a commodity broker sends to the
// program (MUI hands them to the application's broker hook).
#pragma once
#include <cstdint>

// Message types and the commands of CXM_COMMAND.
constexpr uint32_t CXM_IEVENT = 0x20;
constexpr uint32_t CXM_COMMAND = 0x40;
constexpr uint32_t CXCMD_DISABLE = 15;
constexpr uint32_t CXCMD_ENABLE = 17;
constexpr uint32_t CXCMD_APPEAR = 19;
constexpr uint32_t CXCMD_DISAPPEAR = 21;
constexpr uint32_t CXCMD_KILL = 0x17;

struct CxMsg {
  uint32_t cxm_Type;
  uint32_t cxm_ID;
};

// The message's type (CXM_...) and its id (for CXM_COMMAND: the CXCMD_...).
// NIL answers 0.
uint32_t CxMsgType(const CxMsg* message);
uint32_t CxMsgID(const CxMsg* message);
