#pragma once

#include <string>

struct ResonanceSettings;

// Checks of the servo calculator's parameters, shared by its dialogs and the command line. Each
// returns the message that refuses a value, or an empty string when the value is accepted.

// The standard range message "LO から HI までの数値を入力してください。" when v is outside
// [lo, hi] (NaN included).
std::string CheckRange(double v, double lo, double hi);
// Resonance frequency or frequency of the acceleration sensitivity: above 0 Hz up to 1e8 Hz,
// else "周波数は0Hz以上～999MHzまでです。...再入力して下さい".
std::string CheckResonanceFrequency(double hz);
// Proportional or acceleration sensitivity: above 0 up to 1e8 times, else
// "感度は0倍より大きく～1e8倍までです。...再入力して下さい".
std::string CheckSensitivity(double times);
// Resonance peak Q0: 0 ... 54 dB with the standard range message.
std::string CheckResonancePeak(double dB);
// Every field of a second-order element in the order the dialogs show them; the first refusal.
std::string CheckResonance(const ResonanceSettings& settings);

// Elements whose operand would divide by zero, refused with
// "0で割る演算になります。...0以外の値を入れて下さい" (`op` is a servo_op code):
// the proportional gain G = 0 with division;
std::string CheckGainDivision(double gain, int op);
// the integral with G = 0 and division, the derivative with G = 0 and multiplication or
// division (its operand divides by G);
std::string CheckIntegralDivision(double gain, int op);
std::string CheckDerivativeDivision(double gain, int op);
// the lag-lead with a zero denominator c + dS, or a zero numerator a + bS and division.
std::string CheckLagLeadDivision(double a, double b, double c, double d, int op);
