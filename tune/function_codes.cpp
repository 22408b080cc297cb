// The function-code catalogue: see function_codes.h.
#include "tune/function_codes.h"

#include <array>

namespace tk70 {

namespace {

// Indexed by function code; the texts are the control system's names as the product
// has always shown them, misspellings included.
const std::array<const char *, kFunctionCodeCount> kNames = {
    "Function Code Error",
    "Function Generator",                       // 1
    "Manual Set Constant",                      // 2
    "Lead/Lag",                                 // 3
    "Pulse Positioner",                         // 4
    "Pulse Rate",                               // 5
    "High/Low Limiter",                         // 6
    "Square Root",                              // 7
    "Rate Limiter",                             // 8
    "Analog Transfer",                          // 9
    "High Select",                              // 10
    "Low Select",                               // 11
    "High/Low Compare",                         // 12
    "Interger Transfer",                        // 13
    "Summer (4 input)",                         // 14
    "Summer (2 input)",                         // 15
    "Multiply",                                 // 16
    "Divide",                                   // 17
    "PID Error Input",                          // 18
    "PID (PV and SP)",                          // 19
    "Indicator Station",                        // 20
    "M/A Station (basic)",                      // 21
    "M/A Station (cascade)",                    // 22
    "M/A Station (ratio)",                      // 23
    "Adapt",                                    // 24
    "Analog Input (same PCU)",                  // 25
    "Analog Input (diferrent PCU)",             // 26
    "Analog Input",                             // 27
    "Analog Output (same PCU)",                 // 28
    "Analog Output",                            // 29
    "Analog Exception Report",                  // 30
    "Test Quality",                             // 31
    "Trip",                                     // 32
    "Not",                                      // 33
    "Memory",                                   // 34
    "Timer",                                    // 35
    "Qualified OR (8 input)",                   // 36
    "AND (2 input)",                            // 37
    "AND (4 input)",                            // 38
    "OR (2 input)",                             // 39
    "OR (4 input)",                             // 40
    "Digital Input (Bus)",                      // 41
    "Digital Input (loop)",                     // 42
    "TCS Digital Input",                        // 43
    "TCS Digital Output",                       // 44
    "Digital Exception Report",                 // 45
    "Digital Input List",                       // 46
    "Analog Input Exception Report",            // 47
    "Reserved",                                 // 48
    "Digital Output Buffer",                    // 49
    "Manual Set Switch",                        // 50
    "Manual Set Constant",                      // 51
    "Manual Set Integer",                       // 52
    "Executive Block (COM)",                    // 53
    "Executive Block (NLMM01)",                 // 54
    "Reserved",                                 // 55
    "Executive Block (NAMM01)",                 // 56
    "Reserved",                                 // 57
    "Time Delay (Analog)",                      // 58
    "Digital Transfer",                         // 59
    "Group I/O Definition",                     // 60
    "Blink",                                    // 61
    "Remote Control Memory",                    // 62
    "Analog Input List (same PCU)",             // 63
    "Digital Input List (same PCU)",            // 64
    "Digital Sum with Gain",                    // 65
    "Analog Trend",                             // 66
    "Reserved",                                 // 67
    "Remote Manaual Set Constant",              // 68
    "Test Alarm",                               // 69
    "Analog Point Definition",                  // 70
    "Executive Block (NAMM02/03)",              // 71
    "Analog Slave Definition",                  // 72
    "Calibration",                              // 73
    "Calibration Command",                      // 74
    "Analog Calibration Status",                // 75
    "Thermocouple Temperature",                 // 76
    "Analog Point Service Status",              // 77
    "Trend Definition",                         // 78
    "Control Interface Slave",                  // 79
    "Control Station",                          // 80
    "Executive",                                // 81
    "Segment Control",                          // 82
    "Digital Output Group",                     // 83
    "Digital Input Group",                      // 84
    "Up/Down Counter",                          // 85
    "Elapsed Timer",                            // 86
    "DLS Interface",                            // 87
    "Digital Logic Station",                    // 88
    "Last Block",                               // 89
    "Extended Executive",                       // 90
    "Basic Configuration",                      // 91
    "Invoke Basic",                             // 92
    "BASIC Real Output",                        // 93
    "BASIC Boolean Output",                     // 94
    "Module Status Monitor",                    // 95
    "Redundant Analog Input",                   // 96
    "Redundant Digital Input",                  // 97
    "Slave Select",                             // 98
    "Sequence of Events Log",                   // 99
    "Digital Output Readback Check",            // 100
    "Exclusive OR",                             // 101
    "Pulse Input/Period",                       // 102
    "Pulse Input/Frequency",                    // 103
    "Pulse Input/Totalization",                 // 104
    "Executive Block (IMLMM02)",                // 105
    "Segment Control Block (IMLMM02)",          // 106
    "Group I/O Definition (IMLMM02)",           // 107
    "Extended Executive Block (IMLMM02)",       // 108
    "Pulse Input/Duration",                     // 109
    "Rung (5 input)",                           // 110
    "Rung (10 input)",                          // 111
    "Rung (20 input)",                          // 112
    "ASCII String Descriptor",                  // 113
    "BCD Input",                                // 114
    "BCD Output",                               // 115
    "Jump/Master Control Relay",                // 116
    "Boolean Recipe Table",                     // 117
    "Real Recipe Table",                        // 118
    "Boolean Signal Multiplexer",               // 119
    "Real Signal Multiplexer",                  // 120
    "Analog Input/INFI-NET",                    // 121
    "Digital Input/INFI-NET",                   // 122
    "Device Driver",                            // 123
    "Sequence Monitor",                         // 124
    "Device Monitor",                           // 125
    "Real Signal Demultiplexer",                // 126
    "Plant Loop Gateway Node Map",              // 127
    "Slave Default Definition",                 // 128
    "Multi-State Device Driver",                // 129
    "Plant Loop Gateway Executive",             // 130
    "Plant Loop Gateway Point Definition",      // 131
    "Analog Input/Slave",                       // 132
    "Smart Transmitter Definition",             // 133
    "Multi-Sequence Monitor",                   // 134
    "Sequence Manager",                         // 135
    "Remote Motor Control",                     // 136
    "C/BASIC Real Output with Quality",         // 137
    "C/BASIC Digital Output with Quality",      // 138
    "Passive Station Interface",                // 139
    "Restore",                                  // 140
    "Sequence Monitor",                         // 141
    "Sequence Slave",                           // 142
    "Invoke C",                                 // 143
    "C Allocation",                             // 144
    "Fequency Counter/Slave",                   // 145
    "Remote I/O Interface",                     // 146
    "Remote I/O Definition",                    // 147
    "Batch Sequence",                           // 148
    "Analog Output/Slave",                      // 149
    "Hydraulic Servo Slave",                    // 150
    "Text Selector",                            // 151
    "Model Parameter Estimator",                // 152
    "ISC Parameter Converter",                  // 153
    "Adaptive Parameter Scheduler",             // 154
    "Regression",                               // 155
    "Advanced PID Controller",                  // 156
    "General Digital Controller",               // 157
    "Enhanced Analog Point Definition",         // 158
    "Polynomial Adjustmeny",                    // 159
    "Inferential Smith Controller",             // 160
    "Sequence Generator",                       // 161
    "Digital Segment Buffer",                   // 162
    "Analog Segment Buffer",                    // 163
    "Segment Control (IMCOM04)",                // 164
    "Moving Average",                           // 165
    "Integrator",                               // 166
    "Polynomial",                               // 167
    "Interpolator",                             // 168
    "Matrix Addition",                          // 169
    "Matrix Multiplication",                    // 170
    "Trigonometric",                            // 171
    "Exponential",                              // 172
    "Power",                                    // 173
    "Logarithm",                                // 174
    "Sequence Executive",                       // 175
    "Sequence Station (CSC)",                   // 176
    "Data Acquisition Analog",                  // 177
    "Data Acquisition Analog Input/Loop",       // 178
    "Enhanced Trend",                           // 179
    "Batch Input/Output",                       // 180
    "Batch Station",                            // 181
    "Analog Input Definition",                  // 182
    "Batch Executive (CBC)",                    // 183
    "FIP Slave Handler",                        // 184
    "Digital Input Subscriber",                 // 185
    "Analog Input Subscriber",                  // 186
    "Analog Output Subscriber",                 // 187
    "Digital Output Subscriber",                // 188
    "Reserved",                                 // 189
    "User Defined Function Declaration",        // 190
    "User Defined Function One",                // 191
    "User Defined Function Two",                // 192
    "Reserved",                                 // 193
    "Reserved",                                 // 194
    "Reserved",                                 // 195
    "Reserved",                                 // 196
    "Reserved",                                 // 197
    "Aux. Real User Defined Function",          // 198
    "Aux. Digital User Defined Function",       // 199
    "INFI-NET to Plant Loop Module Executive",  // 200
    "Data Point Definition",                    // 201
    "INFI-NET to INFI-NET Module Executive",    // 202
    "Reserved",                                 // 203
    "Reserved",                                 // 204
    "Reserved",                                 // 205
    "Reserved",                                 // 206
    "Reserved",                                 // 207
    "Reserved",                                 // 208
    "Reserved",                                 // 209
    "Sequence of Event Slave",                  // 210
    "Data Acquisition Digital",                 // 211
    "Data Acquisition Digital Input/Loop",      // 212
    "Reserved",                                 // 213
    "Reserved",                                 // 214
    "Enhanced Analog Slave Definition",         // 215
    "Enhanced Analog Input Definition",         // 216
    "Enhance Calibration Command",              // 217
    "Reserved",                                 // 218
    "Common Sequence",                          // 219
    "Batch Historian",                          // 220
    "Reserved",                                 // 221
    "Reserved",                                 // 222
    "Reserved",                                 // 223
    "Reserved",                                 // 224
    "Reserved",                                 // 225
    "Reserved",                                 // 226
    "Reserved",                                 // 227
    "Reserved",                                 // 228
    "Reserved",                                 // 229
    "Strategic Loop Controller I/O",            // 230
    "Strategic Loop Controller Station",        // 231
    "Reserved",                                 // 232
    "Reserved",                                 // 233
    "Reserved",                                 // 234
    "Reserved",                                 // 235
    "Reserved",                                 // 236
    "Reserved",                                 // 237
    "Reserved",                                 // 238
    "Reserved",                                 // 239
    "Reserved",                                 // 240
    "Reserved",                                 // 241
    "Reserved",                                 // 242
    "Reserved",                                 // 243
    "Reserved",                                 // 244
    "Reserved",                                 // 245
    "Reserved",                                 // 246
    "Reserved",                                 // 247
    "Reserved",                                 // 248
    "Reserved",                                 // 249
    "Reserved",                                 // 250
    "Reserved",                                 // 251
    "Reserved",                                 // 252
    "Reserved",                                 // 253
    "Reserved",                                 // 254
    "Reserved",                                 // 255
};

}  // namespace

QString functionCodeName(int code)
{
    if (code < 0 || code >= kFunctionCodeCount)
        return {};
    return QString::fromLatin1(kNames[static_cast<std::size_t>(code)]);
}

QString functionCodeTitle(int code)
{
    return QString::asprintf("FC %d  -  %s", code, functionCodeName(code).toLatin1().constData());
}

}  // namespace tk70
