#pragma once

// The application's title: the caption of its message boxes, leading blank included.
inline constexpr char kAppTitle[] = " ZQ-M(V)710ALX";
