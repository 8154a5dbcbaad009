#pragma once
// The record of the instrument's parameters and latest telemetry, filled from
// ping headers, NMEA sensor sentences, the information reply and the
// operator's parameter settings. Plain data: the whole record is reset with
// `DeviceParams = {}`.

#include <cstdint>

struct DeviceParamsRecord {
    int32_t DeviceID = 0;
    int32_t Range_mm = 0;
    int32_t Deadzone_mm = 0;
    int32_t Offset_mm = 0;
    int32_t Threshold = 0;
    int32_t PulseLength_us = 0;
    int32_t Amplitude = 0;
    int32_t TVG_Mode = 0;
    float TVG_Slope = 0.0f;
    float TVG_Gain = 0.0f;
    float Interval_s = 0.0f;
    int32_t Series = 0;
    int32_t Tx_Frequency_Hz = 0;
    float Memory = 0.0f;
    float Temperature = 0.0f;
    float Altitude_mm = 0.0f;
    float Resolution = 0.0f;
    float OneSampleDistance_mm = 0.0f;
    int32_t NSamples = 0;
    int32_t SoundSpeed = 0;
    int32_t RealPulseLength_us = 0;
    int32_t Ping = 0;
    int32_t Voltage_mV = 0;
    int32_t Frequency_Hz = 0;
    int32_t EchoMaxAmplitudeN = 0;
    int32_t EchoMaxAmplitudeLev_mV = 0;
    int32_t ZeroLevel = 0;
    int32_t ADCMaxAmplitude_mV = 0;
    int32_t EchoMaxAmplitude = 0;
    int32_t OutputMode = 0;
    char TimeLocal[64] = {};
    char TimeUTC[64] = {};
    float TimeWork = 0.0f;
    char TimeWorkText[64] = {};
    float Pitch_deg = 0.0f;
    float Roll_deg = 0.0f;
    float VertRotationPos_deg = 0.0f;
};
