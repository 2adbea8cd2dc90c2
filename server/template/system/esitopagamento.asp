<!--#include virtual="comune.inc"-->
<%
// The page the bank sends the shopper back to. The answer is checked
// against this visitor's own order; a genuine one records the
// authorisation, mails the customer and empties the basket. A refused or
// unknown answer records nothing, and the shopper may try again.
var ordine = Server.CreateObject("QTR50.Ordine");
ordine.SetConn(generale.Conn);
var pagato = ordine.ControlloEsitoValidazione();
if (pagato) {
    ordine.NotificaCliente();
    ordine.Free();
    Response.Redirect("/ordineinviato.asp");
}
var paginaCorrente = "/esitopagamento.asp";
var titoloPagina = T("PMTPAGAMENTO", "Pagamento");
var numeroOrdine = String(Session("NumOrd") === undefined ? "" : Session("NumOrd"));
%>
<!--#include virtual="testa.inc"-->
<section class="sezione esito-pagamento">
  <h1><%= H(T("PMTPAGAMENTO", "Pagamento")) %></h1>
  <p class="messaggio errore" role="alert" id="pagamento-rifiutato"><%= H(T("ERRPAGAMENTO", "Il pagamento non è andato a buon fine.")) %><% if (numeroOrdine !== "") { %> <%= H(T("PMTDATIORDINE", "Ordine")) %> <%= H(numeroOrdine) %><% } %></p>
<% if (numeroOrdine !== "") { %>
  <form method="post" action="/ripetipagamento.asp">
    <p><button class="bottone" type="submit" id="ripeti-pagamento"><%= H(T("PMTRIPETIPAGAMENTO", "Riprova il pagamento")) %></button></p>
  </form>
<% } %>
  <p><a class="togli" href="/default.asp"><%= H(T("PMTPAGINAHOME", "Home")) %></a></p>
</section>
<!--#include virtual="piede.inc"-->
<% ordine.Free(); %>
