#pragma once
// The pictures of the four distributions, by their resource numbers: the one
// list the code reads. The build's list is resources/pictures.cmake.
namespace forms::pictures {

inline constexpr int chi_square = 101;
inline constexpr int f = 102;
inline constexpr int normal = 103;
inline constexpr int t = 104;

inline constexpr int all[] = {chi_square, f, normal, t};

}  // namespace forms::pictures
