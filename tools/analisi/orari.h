// Times of a timetable: clock times read in order along one run, and the
// words for times, durations and distances in the messages.
//
// A run may pass midnight: a time that lies more than twelve hours before the
// one it follows is read as the next day's (23:55 then 00:05 is ten minutes
// on); a time less than twelve hours before it is a step back.
#pragma once

#include <cstdint>
#include <string>

inline constexpr std::int64_t secondi_giorno = 86400;

// `orario` (seconds after midnight) read after `riferimento` (seconds on the
// run's own count, which may pass a day): the same clock time on the day that
// puts it at most twelve hours before `riferimento`, or after it.
std::int64_t orario_dopo(std::int64_t riferimento, std::int32_t orario);

// "20:11:00" (of the day, when the count passed midnight).
std::string testo_orario(std::int64_t secondi);

// "3 min 48 s", "1 h 0 min 5 s", "45 s"; a duration below 0 as "-3 min 48 s".
std::string testo_durata(std::int64_t secondi);

// "4,000 m".
std::string testo_metri(std::int64_t metri);
