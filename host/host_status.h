// Status codes of the platform stand-ins (the platform's own numbers).
#pragma once

inline constexpr int kHostNoErr = 0;
inline constexpr int kHostParamErr = -50;
inline constexpr int kHostMemFullErr = -108;
inline constexpr int kHostNotFoundErr = -43;
