#pragma once
// A request's arguments as its request thread writes them: copies of the
// caller's variables, handed back only once the call has ended as a whole,
// so a stopped or stalled request never writes into a caller that moved on.
// An omitted argument stays omitted in the copies.
#include "text/text.h"
#include "web/web_fetch_arguments.h"

namespace quorvane {

class ArgumentCopies {
 public:
  explicit ArgumentCopies(const WebFetchArguments& caller);
  ArgumentCopies(const ArgumentCopies&) = delete;
  ArgumentCopies& operator=(const ArgumentCopies&) = delete;

  // The arguments for the request thread, pointing at the copies.
  const WebFetchArguments& arguments() const { return own_; }
  // Moves the copies into the caller's variables.
  void deliver();

 private:
  WebFetchArguments caller_, own_;
  LocalText cookies_, receivedCookies_, extraHeaders_, location_, rawHeaders_;
  ByteArray bodyBytes_;
};

}  // namespace quorvane
