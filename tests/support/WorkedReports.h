#pragma once

// The reports of the worked examples, byte for byte as the core, the
// dialogs, vantix-calc and the menu commands must all write them, with the
// date line each test fixes.

// Air-core coil: 10 mm, 20 mm, 1 mm wire, 20 turns; 2026-12-08 09:05.
inline constexpr const char* kAirCoilWorkedReport =
    "　　　　　***** ソレノイドコイルの計算 *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　直径  10.0mm\r\n"
    "　　　　　長さ  20.0mm\r\n"
    "　　　　　巻き数  20.0\r\n"
    "　　　　　インダクタンス  1.918 μH\r\n"
    "\r\n";

// Pi attenuator: 50 Ω, 10 dB; 2026-12-08 09:05.
inline constexpr const char* kPiWorkedReport = "　　　　　***** π型アッテネータの計算 *****\r\n"
                                               "　　　　　2026-12-8  9:05\r\n"
                                               "　　　　　インピーダンス  50.0Ω\r\n"
                                               "　　　　　減衰量  10.0db\r\n"
                                               "　　　　　R1= 71.15Ω（１本）\r\n"
                                               "　　　　　R2= 96.24Ω（２本）\r\n"
                                               "\r\n";

// Toroidal coil: 20 turns on T-200-41; 2026-12-08 10:30.
inline constexpr const char* kToroidWorkedReport =
    "　　　　　***** トロイダルコイルの計算 *****\r\n"
    "　　　　　2026-12-8  10:30\r\n"
    "　　　　　コア種類  T-200-41\r\n"
    "　　　　　巻き数  20\r\n"
    "　　　　　外径 50.8 mm\r\n"
    "　　　　　内径 31.8 mm\r\n"
    "　　　　　厚さ 14.0 mm\r\n"
    "　　　　　コア色  緑\r\n"
    "　　　　　インダクタンス  30.20 μH\r\n"
    "\r\n";

// VFO tank: 3.5 to 7 MHz over a 10 to 100 pF capacitor; 2026-12-08 18:30.
inline constexpr const char* kVfoWorkedReport = "　　　　　***** ＶＦＯのタンク回路の計算 *****\r\n"
                                                "　　　　　2026-12-8  18:30\r\n"
                                                "　　　　　下限発振周波数  3.50MHz\r\n"
                                                "　　　　　上限発振周波数  7.00MHz\r\n"
                                                "　　　　　バリコン最小容量 10.00PF\r\n"
                                                "　　　　　バリコン最大容量 100.00PF\r\n"
                                                "　　　　　コイル容量 17.23μH\r\n"
                                                "　　　　　固定コンデンサ容量  20.00PF\r\n"
                                                "\r\n";

// Attenuator designer: 50 Ω, 10 dB, π, E24, 5 W; 2026-12-08 09:05.
inline constexpr const char* kAttenuatorWorkedReport =
    "　　　　　***** 抵抗アッテネータの設計 *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　インピーダンス  50Ω\r\n"
    "　　　　　減衰量  10dB\r\n"
    "　　　　　形式  π型\r\n"
    "　　　　　抵抗の系列  E24\r\n"
    "　　　　　入力電力  5W\r\n"
    "　　　　　R2 入力側  理想値 96.25Ω  選定値 100Ω（+3.9%）  電力 2.60W\r\n"
    "　　　　　R1  理想値 71.15Ω  選定値 75Ω（+5.4%）  電力 1.66W\r\n"
    "　　　　　R2 出力側  理想値 96.25Ω  選定値 100Ω（+3.9%）  電力 0.246W\r\n"
    "　　　　　実際の減衰量  10.07dB\r\n"
    "　　　　　リターンロス  34.2dB\r\n"
    "　　　　　VSWR  1.040\r\n"
    "　　　　　負荷の電力  0.492W\r\n"
    "\r\n";

// Toroid winding: 20 turns of 0.5 mm wire on T-50-2, 25 mm leads; 2026-12-08 09:05.
inline constexpr const char* kToroidWindingWorkedReport =
    "　　　　　***** トロイダルコイルの巻線 *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　コア種類  T-50-2\r\n"
    "　　　　　巻き数  20\r\n"
    "　　　　　線材直径  0.500 mm\r\n"
    "　　　　　リード線（片側）  25.0 mm\r\n"
    "　　　　　インダクタンス  2.000 μH\r\n"
    "　　　　　１回巻きの長さ  16.6 mm\r\n"
    "　　　　　線の長さ  382.0 mm\r\n"
    "　　　　　直流抵抗  0.03354 Ω\r\n"
    "　　　　　一層に巻けます (最大 45 回)\r\n"
    "\r\n";

// Air-core winding: 10 mm, 20 mm, 1 mm wire, 15 turns, no leads; 2026-12-08 09:05.
inline constexpr const char* kAirCoilWindingWorkedReport =
    "　　　　　***** 空芯コイルの巻線 *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　コイル内径  10.0 mm\r\n"
    "　　　　　コイル長さ  20.0 mm\r\n"
    "　　　　　線材直径  1.000 mm\r\n"
    "　　　　　巻き数  15.0\r\n"
    "　　　　　リード線（片側）  0.0 mm\r\n"
    "　　　　　インダクタンス  1.079 μH\r\n"
    "　　　　　ピッチ  1.333 mm\r\n"
    "　　　　　コイル長さに巻けます (最大 20 回)\r\n"
    "　　　　　線の長さ  518.7 mm\r\n"
    "　　　　　直流抵抗  0.01139 Ω\r\n"
    "　　　　　自己容量  0.5335 pF\r\n"
    "　　　　　自己共振周波数（目安）  209.8 MHz\r\n"
    "\r\n";

// Crystal filter workbench: 10 MHz, Lm 15 mH, C0 3.5 pF, lossless, 6 crystals,
// Chebyshev 0.1 dB, 2.4 kHz; 2026-12-08 09:05.
inline constexpr const char* kXtalFilterWorkedReport =
    "　　　　　***** 水晶フィルターの設計 *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　水晶の周波数  10.000000MHz\r\n"
    "　　　　　モーショナルインダクタンス  15.0000mH\r\n"
    "　　　　　端子間容量  3.50PF\r\n"
    "　　　　　無負荷Q  0（損失なし）\r\n"
    "　　　　　水晶の数  6\r\n"
    "　　　　　特性  チェビシェフ（リップル 0.10dB）\r\n"
    "　　　　　必要とする帯域幅(3dB)  2.400kHz\r\n"
    "　　　　　設計周波数  10,001,611.08Hz\r\n"
    "　　　　　最大帯域幅  9,620.8Hz\r\n"
    "　　　　　終端抵抗  203.414Ω\r\n"
    "　　　　　メッシュ1  Leff=17.2213mH   CT=113.789PF   CK1-2=85.764PF   オフセット=-646.2Hz\r\n"
    "　　　　　メッシュ2  Leff=17.2213mH   CT=なし   CK2-3=113.789PF   オフセット=0.0Hz\r\n"
    "　　　　　メッシュ3  Leff=17.2213mH   CT=311.952PF   CK3-4=118.284PF   オフセット=-235.7Hz\r\n"
    "　　　　　メッシュ4  Leff=17.2213mH   CT=311.952PF   CK4-5=113.789PF   オフセット=-235.7Hz\r\n"
    "　　　　　メッシュ5  Leff=17.2213mH   CT=なし   CK5-6=85.764PF   オフセット=0.0Hz\r\n"
    "　　　　　メッシュ6  Leff=17.2213mH   CT=113.789PF   オフセット=-646.2Hz\r\n"
    "　　　　　挿入損失  0.000dB\r\n"
    "　　　　　3dB帯域幅  2,406.1Hz\r\n"
    "　　　　　6dB帯域幅  2,506.4Hz\r\n"
    "　　　　　60dB帯域幅  5,642.6Hz\r\n"
    "　　　　　シェープファクター(60dB/6dB)  2.25\r\n"
    "　　　　　リップル  0.100dB\r\n"
    "　　　　　中心の群遅延  0.631ms\r\n"
    "\r\n";

// Crystal measurement: f1 10 MHz, f2 10.002313 MHz, Cs 33 pF, C0 3.5 pF;
// 2026-12-08 09:05.
inline constexpr const char* kXtalMeasureWorkedReport =
    "　　　　　***** 水晶の測定 (G3UUR) *****\r\n"
    "　　　　　2026-12-8  9:05\r\n"
    "　　　　　f1(Cs短絡)  10.000000MHz\r\n"
    "　　　　　f2(Cs直列)  10.002313MHz\r\n"
    "　　　　　Cs  33.00PF\r\n"
    "　　　　　端子間容量  3.50PF\r\n"
    "　　　　　モーショナル容量 Cm  16.887fF\r\n"
    "　　　　　モーショナルインダクタンス Lm  15.000mH\r\n"
    "　　　　　並列共振周波数 fp  10,024,095.0Hz\r\n"
    "\r\n";
