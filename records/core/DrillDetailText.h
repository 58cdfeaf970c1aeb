// SPDX-FileCopyrightText: 2026 The ケタモリ！ developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/core/LoggedDrill.h"

#include <QString>

// A logged drill told in a few lines of Japanese, as the history table shows a row's detail:
//   表示された数字：0 1 2
//   入力した数字：0 － 3
//   入力の時刻（回答欄が開いてから）：0.7秒、－、1.6秒
//   回答ボタン：2.4秒
//   入れ直し：3番目の欄で1回
// An empty box shows as "－"; lines of what is not known, or did not happen, are left out.
QString drillDetailText(const LoggedDrill &drill);
