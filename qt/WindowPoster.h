#pragma once

#include "BackgroundWork.h"

class QObject;

// Hands the core's deliveries to receiver's thread as queued calls. The
// core stops posting before its pool is destroyed, so the pool's owner
// must outlive it: a member of receiver, or of one of its children.
Services::WindowPoster PosterFor(QObject* receiver);
