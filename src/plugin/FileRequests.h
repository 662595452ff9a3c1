#pragma once

#include <cstdint>
#include <string>

namespace ostrel {

// Scanner result of one check or cure run; errors become -3 and are logged.
int32_t CheckFile(const std::string& fileName, std::string& msg);
int32_t CureFile(const std::string& fileName, std::string& msg);

// The whole requests behind BAV_CheckFile and BAV_CureFile.
int32_t CheckRequest(const char* fileName, char* messageBuffer);
int32_t CureRequest(const char* fileName);

}  // namespace ostrel
