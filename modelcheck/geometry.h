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
/// same order round the faces, as the element is built: the trilinear map of
/// the unit cube onto its corners, whose faces are bilinear however warped.
/// Its Jacobian is of degree two in each coordinate, so the Gauss rule of two
/// points a coordinate integrates it exactly. Corners that coincide (a
/// wedge's collapsed edge) are taken as they stand.
inline double volume(const Point p[8]) {
  // Corner i sits at (u, v, w) of the unit cube: round the face, then up.
  static const int u[8] = {0, 1, 1, 0, 0, 1, 1, 0};
  static const int v[8] = {0, 0, 1, 1, 0, 0, 1, 1};
  static const int w[8] = {0, 0, 0, 0, 1, 1, 1, 1};
  const double g[2] = {0.5 - 0.5 / std::sqrt(3.0), 0.5 + 0.5 / std::sqrt(3.0)};
  double total = 0;
  for (double a : g) {
    for (double b : g) {
      for (double c : g) {
        Point du, dv, dw;
        for (int i = 0; i < 8; ++i) {
          // The derivatives of the corner's weight (1 - a or a, and so on).
          double fa = u[i] ? a : 1 - a, fb = v[i] ? b : 1 - b, fc = w[i] ? c : 1 - c;
          double sa = u[i] ? 1 : -1, sb = v[i] ? 1 : -1, sc = w[i] ? 1 : -1;
          double ku = sa * fb * fc, kv = fa * sb * fc, kw = fa * fb * sc;
          du = Point{du.x + ku * p[i].x, du.y + ku * p[i].y, du.z + ku * p[i].z};
          dv = Point{dv.x + kv * p[i].x, dv.y + kv * p[i].y, dv.z + kv * p[i].z};
          dw = Point{dw.x + kw * p[i].x, dw.y + kw * p[i].y, dw.z + kw * p[i].z};
        }
        total += dot(du, cross(dv, dw)) / 8;
      }
    }
  }
  return std::fabs(total);
}

}  // namespace modelcheck
