// The few maths functions the generator needs, made of + - * / alone so they give the same bits everywhere.
#pragma once

// The C library's sin, exp, pow and tanh may change in the last bit between versions (glibc 2.41
// does), and the asset files must not: these use only operations IEEE 754 rounds exactly, so any
// compiler and library that keeps to it (and does not contract a * b + c) writes the same bytes.
// They work in doubles to about 1e-15 and round once to float, as the generator works in floats.
namespace steady {

float sin(float x);
float cos(float x);
float exp(float x);
float pow(float x, float y);    // x >= 0
float tanh(float x);
float hypot(float x, float y);

} // namespace steady
