#pragma once
// Base of every class that reports a return code. A code is stored by the
// operation that produces it and consumed by the caller: GetRetCode returns the
// stored code and clears it, so a code is read once.

#include <cstdint>

namespace DSTRUCT {

class TDataCom {
protected:
  int32_t RetCode = 0; // 0 on success, negative on failure

public:
  TDataCom() = default;
  virtual ~TDataCom() = default;

  // Stores the code and returns it.
  int SetRetCode(int code) {
    RetCode = code;
    return code;
  }
  // Returns the stored code and resets it to 0.
  int GetRetCode() {
    int code = RetCode;
    RetCode = 0;
    return code;
  }
};

} // namespace DSTRUCT
