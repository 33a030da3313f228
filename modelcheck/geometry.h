// Lengths, areas and volumes of the elements, for the load and weight totals.
#pragma once

#include <cmath>

namespace modelcheck {

struct Point {
  double x = 0, y = 0, z = 0;
};

inline Point minus(Point a, Point b) { return Point{a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Point cross(Point a, Point b) {
  return Point{a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline double dot(Point a, Point b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline double norm(Point a) { return std::sqrt(dot(a, a)); }

inline double length(Point a, Point b) { return norm(minus(b, a)); }

/// The area of the face a, b, c, d (corners in order round the face; d = c
/// for a triangle): half the cross product of its diagonals.
inline double area(Point a, Point b, Point c, Point d) { return 0.5 * norm(cross(minus(c, a), minus(d, b))); }

/// Whether the face p[0], p[1], p[2], p[3], its corners in this order, is
/// twisted: they do not run round it (two of its edges cross, a bow tie) or
/// lie on one line, so the face has no proper area. Warped faces whose
/// corners run round them are not twisted.
inline bool twisted(const Point p[4]) {
  Point n = cross(minus(p[2], p[0]), minus(p[3], p[1]));
  double size = dot(minus(p[2], p[0]), minus(p[2], p[0])) + dot(minus(p[3], p[1]), minus(p[3], p[1]));
  if (dot(n, n) <= 1e-12 * size * size) return true;
  for (int i = 0; i < 4; ++i) {
    Point a = p[i], b = p[(i + 1) % 4], c = p[(i + 2) % 4];
    if (dot(cross(minus(b, a), minus(c, b)), n) < -1e-9 * size) return true;
  }
  return false;
}

/// The volume of an 8-node solid, bottom face 0..3 and top face 4..7 in the
/// same order round the faces, from its six faces, each split in two
/// triangles: exact for plane faces, and a triangle whose corners coincide
/// (a wedge's collapsed corner) adds nothing.
inline double volume(const Point p[8]) {
  static const int faces[6][4] = {{3, 2, 1, 0}, {4, 5, 6, 7}, {0, 1, 5, 4},
                                  {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
  double v = 0;
  for (const auto& f : faces) {
    Point a = p[f[0]], b = p[f[1]], c = p[f[2]], d = p[f[3]];
    v += dot(a, cross(b, c)) + dot(a, cross(c, d));
  }
  return std::fabs(v) / 6;
}

}  // namespace modelcheck
