"""End-to-end harness for the Windows program under Wine in Xvfb."""
