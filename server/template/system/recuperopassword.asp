<!--#include virtual="comune.inc"-->
<!--#include virtual="membri.inc"-->
<%
// A visitor who forgot his access data gets his user name and a new
// password at the e-mail address he registered with.
var esito = null;
if (Posta())
    esito = area.RecuperoPassword();
var paginaCorrente = "/recuperopassword.asp";
var titoloPagina = T("PMTRECUPEROPASSWORD", "Password dimenticata?");
%>
<!--#include virtual="testa.inc"-->
<section class="sezione recupero-password">
  <h1><%= H(titoloPagina) %></h1>
<% if (esito === true) { %>
  <p class="messaggio ok" role="status" id="password-inviata"><%= H(T("MSGRECPSWDINVIATA", "Ti abbiamo inviato il nome utente e una nuova password.")) %></p>
  <p><a class="bottone" href="/accesso.asp"><%= H(T("PMTACCEDI", "Accedi")) %></a></p>
<% } else { %>
<%   if (esito === false) { %>
  <%= Errore() %>
<%   } %>
  <p><%= H(T("PMTRECUPEROPASSWORDTESTO", "Scrivi l'indirizzo e-mail con cui ti sei registrato: ti invieremo il nome utente e una nuova password.")) %></p>
  <form class="modulo" method="post" action="/recuperopassword.asp" id="modulo-recupero">
    <label for="Email"><%= H(T("PMTEMAIL", "E-mail")) %></label>
    <input type="email" id="Email" name="Email" maxlength="80" autocomplete="email" required value="<%= H(esito === false ? Request.Form("Email") : "") %>">
    <button class="bottone" type="submit" id="invia-recupero"><%= H(T("PMTINVIA", "Invia")) %></button>
  </form>
<% } %>
</section>
<!--#include virtual="piede.inc"-->
<% area.Free(); %>
